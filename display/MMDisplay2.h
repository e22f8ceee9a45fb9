#pragma once
// The media display panel: plays one file at a time and shows its video
// inside itself.
#include "platform/ui/Colors.h"

#include <QFrame>
#include <QString>

enum TMMStatus { mmNotReady, mmStopped, mmPlaying, mmPaused };

class TMMDisplay2 : public QFrame {
    Q_OBJECT
public:
    explicit TMMDisplay2(QWidget* parent = nullptr);

    platform::TColor BackgroundColor() const { return FColor; }
    void SetBackgroundColor(platform::TColor value);
    bool Center() const { return FCenter; }
    void SetCenter(bool value);
    bool DrawGradient() const { return FDrawGradient; }
    void SetDrawGradient(bool value);
    platform::TColor GradientColor2() const { return FGradientColor2; }
    void SetGradientColor2(platform::TColor value);
    int DefaultZoom() const { return FDefaultZoom; }
    void SetDefaultZoom(int value) { FDefaultZoom = value; }
    bool StretchToFit() const { return FStretchToFit; }
    void SetStretchToFit(bool value);
    bool ShrinkToFit() const { return FShrinkToFit; }
    void SetShrinkToFit(bool value);
    int Zoom() const { return FZoom; }
    void SetZoom(int value);

    TMMStatus Status() const { return FStatus; }
    const QString& FileName() const { return FFileName; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    platform::TColor FColor = platform::clBlack;
    bool FCenter = false;
    bool FDrawGradient = false;
    platform::TColor FGradientColor2 = platform::clNavy;
    int FDefaultZoom = 100;
    bool FStretchToFit = false;
    bool FShrinkToFit = false;
    int FZoom = 100;
    TMMStatus FStatus = mmNotReady;
    QString FFileName;
};
