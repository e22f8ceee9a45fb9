#pragma once
// What counts as a click on a label, as on a button: the left button pressed
// on it and released over it. Released elsewhere, it is no click.
class QMouseEvent;
class QWidget;

class TLabelClick {
public:
    void Pressed(const QMouseEvent& event);
    // True when this release over `label` ends a click.
    bool Released(const QWidget& label, const QMouseEvent& event);

private:
    bool FPressed = false;
};
