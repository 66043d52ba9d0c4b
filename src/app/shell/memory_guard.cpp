#include "shell/memory_guard.h"

#include "common/app_context.h"
#include "common/command_registry.h"
#include "settings/language.h"
#include "settings/prompt.h"

MemoryGuard::MemoryGuard(AppContext &ctx, QObject *parent) : QObject(parent), m_ctx(ctx)
{
    connect(&ctx.commands, &CommandRegistry::aboutToRun, this, [this] { m_before.emplace(m_ctx.doc); });
    connect(&ctx.commands, &CommandRegistry::ranOutOfMemory, this, &MemoryGuard::ranOut);
}

void MemoryGuard::ranOut()
{
    if (m_before) {
        m_before->removeAddedFrames(m_ctx.doc);
        m_before.reset();
    }
    m_ctx.prompt.inform(outOfMemoryText(), PromptIcon::Error);
}

QString outOfMemoryText()
{
    return LanguageText("Message", "OutOfMemory", QStringLiteral("内存不足,操作未能完成。"));
}
