#pragma once
// Editor-wide happenings that panels follow, whoever caused them.

#include <QObject>

class AppEvents : public QObject
{
    Q_OBJECT
signals:
    // The interface language changed (0 Chinese, 1 English, 2 traditional):
    // panels put up their texts again.
    void languageChanged(int languageCode);
};
