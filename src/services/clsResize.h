#pragma once
// Scales a screen's controls with the screen. The design places of every
// control are recorded once; each later size is computed from those records,
// never from where a control stands now.

#include <QPointer>
#include <QWidget>
#include <vector>

class ScaledForm;

class clsResize {
public:
    explicit clsResize(ScaledForm* form = nullptr);

    void ReInitialise();
    // Sizes the screen to a share of the display, centred, then scales.
    void SizeFormToScreen(quint8 Percent);
    void ResizeControls();

    // The ratios of the current client size to the recorded one; 1 before recording.
    double ratioX() const { return rx_; }
    double ratioY() const { return ry_; }
    bool recorded() const { return !FirstTime; }

    // A control's recorded design rectangle in twips; an empty one when unknown.
    QRectF designRect(const QWidget* control) const;

private:
    // What a Tag asks to scale: Left, Top, Width, Height.
    struct Directive {
        bool left, top, width, height;
    };
    static Directive directiveOf(const QString& tag);

    void StoreInitialSizes();

    struct ControlSize {
        QPointer<QWidget> Ctl;
        int Left = 0;
        int Top = 0;
        int Width = 0;
        int Height = 0;
        double fontPoints = 0;
    };

    ScaledForm* form_ = nullptr;
    bool FirstTime = true;
    int InitialWidth = 0;
    int InitialHeight = 0;
    std::vector<ControlSize> ControlSizes;
    double rx_ = 1.0;
    double ry_ = 1.0;
};
