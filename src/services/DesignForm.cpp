#include "services/DesignForm.h"

#include "services/ClickRule.h"
#include "services/Twips.h"
#include "services/controls/Accessibility.h"
#include "services/speech/SpeechControl.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

// The client area under the menu bar: paints the background and takes the
// clicks that land on no control.
class FormClient : public QWidget {
public:
    explicit FormClient(DesignForm* form)
        : QWidget(form)
        , form_(form)
    {
        setObjectName(QStringLiteral("ARGradient1"));
        // It covers itself with opaque colour: the window's own background is not filled under it.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        form_->paintClient(painter);
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            form_->Form_Click();
    }

private:
    DesignForm* form_;
};

DesignForm::DesignForm(const QString& name, QSize designClientTwips)
    : designClient_(designClientTwips)
{
    setObjectName(name);
    setWindowTitle(QStringLiteral("Quillet"));
    // Its menu bar and client area cover it whole: a page hides what lies under it.
    setAttribute(Qt::WA_OpaquePaintEvent);
    ClickRule::install();
    Accessibility::install();
}

DesignForm::~DesignForm() = default;

void DesignForm::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    client_ = new FormClient(this);
    setFormGeometry(QRect(QPoint(0, 0), Twips::toPixels(QRect(QPoint(0, 0), designClient_)).size()));
    buildControls();
    if (menuBar_) {
        // The menu bar sits above the design client area.
        resize(width(), height() + menuBar_->sizeHint().height());
        layoutClient();
    }
    scaler_ = std::make_unique<clsResize>(this);
    scaler_->SizeFormToScreen(75);
    Form_Load();
}

void DesignForm::unload()
{
    if (!loaded_)
        return;
    beforeUnload();
    if (Bocca)
        Bocca->StopSpeaking();
    hide();
    loaded_ = false;
    scaler_.reset();
    controls_.clear();
    // Late deletion: unloading often starts inside a handler of one of these controls.
    if (menuBar_)
        menuBar_->deleteLater();
    client_->deleteLater();
    menuBar_ = nullptr;
    client_ = nullptr;
    Bocca = nullptr;
}

const DesignForm* DesignForm::of(const QWidget* widget)
{
    for (const QWidget* at = widget; at; at = at->parentWidget())
        if (const auto* form = qobject_cast<const DesignForm*>(at))
            return form;
    return nullptr;
}

void DesignForm::Form_Activate()
{
    const QRect screen = screenRect();
    if (auto* holder = dynamic_cast<Holder*>(parentWidget())) {
        holder->present(this, screen);
    } else {
        setFormGeometry(screen);
        // Without a window manager the full-screen state alone keeps the old
        // size, so the geometry is set first.
        if (!isVisible())
            show();
        setWindowState(windowState() | Qt::WindowFullScreen);
    }
    // An activated screen is a new screen to the child's hand.
    ClickRule::started(window()->windowHandle());
}

void DesignForm::preparaBarraMenu()
{
    QMenuBar bar;
    bar.setNativeMenuBar(false);
    QFontInfo(bar.font()).pointSizeF();
}

QRect DesignForm::screenRect() const
{
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    return display ? display->geometry() : QRect(0, 0, 1024, 768);
}

QSize DesignForm::clientSizeTwips() const
{
    if (!client_)
        return {};
    return QSize(Twips::fromPixels(client_->width()), Twips::fromPixels(client_->height()));
}

void DesignForm::setFormGeometry(const QRect& rect)
{
    setGeometry(rect);
    layoutClient();
    Form_Resize();
}

void DesignForm::setBackground(const QColor& from, const QColor& to)
{
    from_ = from;
    to_ = to;
    if (client_)
        client_->update();
}

QAction* DesignForm::addMenuItem(const QString& name, const QString& caption)
{
    if (!menuBar_) {
        menuBar_ = new QMenuBar(this);
        menuBar_->setNativeMenuBar(false);
        menuBar_->setObjectName(QStringLiteral("menuBar"));
        // The form draws no background of its own under it.
        menuBar_->setAutoFillBackground(true);
        menuFontPoints_ = QFontInfo(menuBar_->font()).pointSizeF() * 1.2;
        menuBar_->show();
    }
    QAction* item = menuBar_->addAction(caption);
    item->setObjectName(name);
    return item;
}

void DesignForm::registerControl(QWidget* control, const QString& name, const QRect& twips, QWidget* container)
{
    control->setParent(container ? container : client_);
    control->setObjectName(name);
    control->setProperty("twips", twips);
    control->setAttribute(Qt::WA_NoMousePropagation);
    control->setGeometry(Twips::toPixels(twips));
    control->show();
    controls_.append(control);
}

void DesignForm::moveToDesign(QWidget* control, double leftTwips, double topTwips)
{
    const QPointF pixels = scaledPixels(leftTwips, topTwips);
    control->move(int(std::lround(pixels.x())), int(std::lround(pixels.y())));
}

QPointF DesignForm::scaledPixels(double leftTwips, double topTwips) const
{
    const double rx = scaler_ ? scaler_->ratioX() : 1.0;
    const double ry = scaler_ ? scaler_->ratioY() : 1.0;
    return QPointF(leftTwips * rx / Twips::PerPixel, topTwips * ry / Twips::PerPixel);
}

void DesignForm::layoutClient()
{
    if (!client_)
        return;
    int top = 0;
    if (menuBar_) {
        // The menu grows with the screen, like everything else on it.
        const QSize design = Twips::toPixels(QRect(QPoint(0, 0), designClient_)).size();
        const double ratio = std::max(1.0, std::min(double(width()) / std::max(1, design.width()),
                                                    double(height()) / std::max(1, design.height())));
        QFont font = menuBar_->font();
        font.setPointSizeF(menuFontPoints_ * std::min(ratio, 4.0) * 0.6);
        menuBar_->setFont(font);
        top = menuBar_->sizeHint().height();
        menuBar_->setGeometry(0, 0, width(), top);
    }
    client_->setGeometry(0, top, width(), std::max(0, height() - top));
}

void DesignForm::Form_Resize()
{
    if (!scaler_)
        return;
    scaler_->ResizeControls();
    if (scaler_->recorded())
        afterRescale();
}

void DesignForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layoutClient();
    Form_Resize();
}

void DesignForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    // Restoring from minimised scales to the restored size.
    if (event->type() == QEvent::WindowStateChange && !isMinimized())
        Form_Resize();
}

void DesignForm::closeEvent(QCloseEvent* event)
{
    // A bare hide would leave the program running with no window: the slots
    // unload the screen and end the program when it was the last one.
    event->ignore();
    emit chiusuraRichiesta();
}

void DesignForm::paintClient(QPainter& painter) const
{
    const QRect area = client_->rect();
    if (from_ == to_) {
        painter.fillRect(area, from_);
        return;
    }
    QLinearGradient gradient(area.topLeft(), area.bottomLeft());
    gradient.setColorAt(0.0, from_);
    gradient.setColorAt(1.0, to_);
    painter.fillRect(area, gradient);
}
