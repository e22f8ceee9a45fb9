#include "platform/mci/drivers/mpv/software_video_output.h"

#include "platform/diagnostics.h"
#include "platform/mci/drivers/mpv/mpv_library.h"
#include "platform/mci/drivers/mpv/picture_widget.h"

#include <cstdlib>
#include <QSysInfo>

namespace platform::mci {
namespace {

// mpv's fast paths want lines and the picture aligned to 64 bytes.
constexpr int alignment = 64;

// QImage's RGB32 is 0xffRRGGBB in the machine's byte order; mpv leaves the
// unused byte undefined, which RGB32 ignores.
const char* rgb32Format() {
    return QSysInfo::ByteOrder == QSysInfo::LittleEndian ? "bgr0" : "0rgb";
}

QImage alignedPicture(QSize size) {
    const int stride = (size.width() * 4 + alignment - 1) / alignment * alignment;
    void* pixels = std::aligned_alloc(alignment, static_cast<std::size_t>(stride) * size.height());
    if (!pixels)
        return {};
    return QImage(static_cast<uchar*>(pixels), size.width(), size.height(), stride,
                  QImage::Format_RGB32, std::free, pixels);
}

} // namespace

std::unique_ptr<VideoOutput> SoftwareVideoOutput::Create(mpv_handle* core) {
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_API_TYPE, const_cast<char*>(MPV_RENDER_API_TYPE_SW)},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    mpv_render_context* render = nullptr;
    const int result = Mpv().render_context_create(&render, core, params);
    if (result < 0) {
        ReportProblem(std::string("video: mpv cannot render: ") + Mpv().error_string(result));
        return nullptr;
    }
    std::unique_ptr<SoftwareVideoOutput> output(new SoftwareVideoOutput());
    output->listenTo(render);
    return output;
}

SoftwareVideoOutput::~SoftwareVideoOutput() {
    if (mpv_render_context* render = stopListening())
        Mpv().render_context_free(render);
}

QWidget* SoftwareVideoOutput::makeSurface(QWidget* host) {
    auto* picture = new PictureWidget(host);
    picture->OnResized = [this] { draw(); };
    picture_ = picture;
    return picture;
}

void SoftwareVideoOutput::draw() {
    if (!render())
        return;
    const QSize size = picture_ ? picture_->size() * picture_->devicePixelRatioF() : QSize();
    if (!picture_ || !picture_->isVisible() || size.isEmpty())
        return skipFrame();
    QImage& picture = picture_->Picture;
    if (picture.size() != size)
        picture = alignedPicture(size);
    if (picture.isNull())
        return skipFrame();
    picture.setDevicePixelRatio(picture_->devicePixelRatioF());
    int target[2] = {size.width(), size.height()};
    std::size_t stride = static_cast<std::size_t>(picture.bytesPerLine());
    int blockForTargetTime = 0;
    mpv_render_param params[] = {
        {MPV_RENDER_PARAM_SW_SIZE, target},
        {MPV_RENDER_PARAM_SW_FORMAT, const_cast<char*>(rgb32Format())},
        {MPV_RENDER_PARAM_SW_STRIDE, &stride},
        {MPV_RENDER_PARAM_SW_POINTER, picture.bits()},
        {MPV_RENDER_PARAM_BLOCK_FOR_TARGET_TIME, &blockForTargetTime},
        {MPV_RENDER_PARAM_INVALID, nullptr},
    };
    Mpv().render_context_render(render(), params);
    picture_->update();
}

} // namespace platform::mci
