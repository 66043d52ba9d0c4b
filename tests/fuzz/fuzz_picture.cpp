// Picture reader of the picture pattern tab: any bytes give either a
// refusal (one message, no picture) or a picture no larger than the page
// takes, which draws into a page picture of the grid's size.
#include "patterns/picture_pattern.h"
#include "scripted_prompt.h"

#include <QBuffer>
#include <QByteArray>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ScriptedPrompt prompt;
    const QImage image = readPatternPicture(buffer, prompt);
    if (image.isNull()) {
        check(prompt.shown.size() == 1);
        return 0;
    }
    check(prompt.shown.empty());
    check(image.width() <= kMaxPictureSide && image.height() <= kMaxPictureSide);
    QImage page;
    drawIntoPagePicture(page, image, 8, 5);
    check(page.size() == QSize(8, 5));
    return 0;
}
