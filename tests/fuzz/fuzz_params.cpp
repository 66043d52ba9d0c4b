// Controller parameter file reader (".zari"): any bytes. Reading never
// crashes; a loaded file saves and reads back to the same cycle and rows;
// the frame block encoders take whatever order list a file gives them.
#include "links/parameter_file.h"
#include "output/frame_block_encoder.h"

#include <QByteArray>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

void encodeWith(const ControllerParams &params)
{
    const std::vector<uint8_t> pixels(3 * 5, 0x5A);
    for (int base : {1, 3}) {
        for (int format = 0; format <= 13; ++format) {
            ControllerParams p = params;
            p.communicationFormat = format;
            p.controllerModel = format % 2;
            p.greyLevels = format == 4 ? 32 : 128;
            const FrameBlockEncoder encoder(BlockLayout::from(p, base), 5);
            if (!encoder.fits())
                continue;
            std::vector<uint8_t> out(size_t(encoder.workLength()), 0xEE);
            encoder.encode(pixels.data(), out.data());
            for (uint64_t i = encoder.blockLength(); i < encoder.paddedLength(); ++i)
                check(out[size_t(i)] == 0);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const ParameterFileResult r = readParameterText(bytes);
    check(r.contents.has_value() == (r.kind == ParameterFileResult::Loaded));
    check(r.kind != ParameterFileResult::Failed || !r.message.isEmpty());
    if (!r.contents)
        return 0;

    ControllerParams params = ControllerParams::initial(3);
    applyParameterFile(params, *r.contents);
    int nulls = 0;
    for (const RgbOrderRow &row : params.orderList.rows())
        nulls += row.pixel == QLatin1String("null");
    check(nulls == params.groupExtra);

    const ParameterFileResult again = readParameterText(parameterFileText(params));
    check(again.kind == ParameterFileResult::Loaded);
    check(again.contents->cycle == params.cycle);
    check(again.contents->orderList == params.orderList);

    encodeWith(params);
    return 0;
}
