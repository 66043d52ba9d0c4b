#pragma once
// The four solid-colour pages: curtain ("拉幕"), blinds ("百叶窗"),
// stacking blocks ("堆积木") and water drip ("滴水"). Each builds its
// controls with their defaults and hands its values to the family's run.

#include "patterns/pattern_page.h"
#include "patterns/stacking_blocks.h"

class QComboBox;
class QLineEdit;

class CurtainPage : public PatternPage
{
    Q_OBJECT
public:
    explicit CurtainPage(AppContext &ctx, QWidget *parent = nullptr);
    QLineEdit *stepEdit() const { return m_step; }
    QComboBox *directionBox() const { return m_direction; }

protected:
    int generate(PatternTarget &target) override;

private:
    QLineEdit *m_step = nullptr;
    QComboBox *m_direction = nullptr;
};

class BlindsPage : public PatternPage
{
    Q_OBJECT
public:
    explicit BlindsPage(AppContext &ctx, QWidget *parent = nullptr);

protected:
    int generate(PatternTarget &target) override;

private:
    QLineEdit *m_step = nullptr;
    QComboBox *m_direction = nullptr;
    QLineEdit *m_slats = nullptr;
    QLineEdit *m_repeat = nullptr;
};

class StackingPage : public PatternPage
{
    Q_OBJECT
public:
    explicit StackingPage(AppContext &ctx, QWidget *parent = nullptr);
    // The area the page took when it was created.
    const GridRect &area() const { return m_area; }

protected:
    int generate(PatternTarget &target) override;

private:
    GridRect m_area;
    QLineEdit *m_height = nullptr;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_frequency = nullptr;
    QComboBox *m_direction = nullptr;
};

class WaterDripPage : public PatternPage
{
    Q_OBJECT
public:
    explicit WaterDripPage(AppContext &ctx, QWidget *parent = nullptr);

protected:
    int generate(PatternTarget &target) override;

private:
    QComboBox *m_pattern = nullptr;
};
