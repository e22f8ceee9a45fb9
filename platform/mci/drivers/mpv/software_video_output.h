#pragma once
// Video drawn by mpv's software renderer into an image that an ordinary
// widget paints: conversion and scaling on the CPU, straight into memory the
// window system can show.
#include "platform/mci/drivers/mpv/video_output.h"

namespace platform::mci {

class PictureWidget;

class SoftwareVideoOutput final : public VideoOutput {
public:
    // Null (after reporting why) when mpv cannot render this way.
    static std::unique_ptr<VideoOutput> Create(mpv_handle* core);
    ~SoftwareVideoOutput() override;

private:
    SoftwareVideoOutput() = default;
    QWidget* makeSurface(QWidget* host) override;
    void draw() override;

    QPointer<PictureWidget> picture_;
};

} // namespace platform::mci
