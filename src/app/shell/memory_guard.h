#pragma once
// When a command needs more memory than the machine gives, the command
// stops there instead of the program: the frames it had added are taken
// back (where they can be told from the frames held before) and the user is
// told that memory ran out.

#include "document/run_rollback.h"

#include <QObject>
#include <optional>

struct AppContext;

class MemoryGuard : public QObject
{
    Q_OBJECT
public:
    explicit MemoryGuard(AppContext &ctx, QObject *parent = nullptr);

private:
    void ranOut();

    AppContext &m_ctx;
    std::optional<RunRollback> m_before;
};

// "内存不足,操作未能完成。"
QString outOfMemoryText();
