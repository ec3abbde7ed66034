#pragma once
// The base of every screen: a full-screen page of the stage (or a window of its
// own, alone) whose controls are built from design places in twips and scaled
// with it by its own clsResize.

#include "services/ScaledForm.h"
#include "services/clsResize.h"

#include <QColor>
#include <QPointer>
#include <QWidget>
#include <memory>

class QMenuBar;
class QAction;
class SpeechControl;

class DesignForm : public QWidget, public ScaledForm {
    Q_OBJECT
public:
    DesignForm(const QString& name, QSize designClientTwips);
    ~DesignForm() override;

    // A window that shows screens as its pages.
    class Holder {
    public:
        // Shows the page over the others, filling the window, and the window over the screen.
        virtual void present(DesignForm* page, const QRect& screen) = 0;

    protected:
        ~Holder() = default;
    };

    // Builds the controls in their design state and runs the screen's own loading.
    void load();
    // Stops the mouth, removes every control and hides the window; the form's
    // own variables stay.
    void unload();
    bool isLoaded() const { return loaded_; }
    // The screen a widget lies on; null when on none. Every screen shares one
    // window, so a widget's window does not tell its screen.
    static const DesignForm* of(const QWidget* widget);

    // Covers the whole screen; screens add their own steps.
    virtual void Form_Activate();
    // Builds and drops a menu bar: the first one of the process sets up what
    // all later ones share, some 5 ms the first screen with one need not wait for.
    static void preparaBarraMenu();

    QSize designClientTwips() const { return designClient_; }
    QSize clientSizeTwips() const override;
    QWidget* client() const { return client_; }
    QMenuBar* menuBar() const { return menuBar_; }
    SpeechControl* mouth() const { return Bocca; }
    clsResize* scaler() const { return scaler_.get(); }
    // Controls in the order they were created: the form's control collection.
    const QList<QPointer<QWidget>>& designControls() const override { return controls_; }

    // The whole screen the window stands on.
    QRect screenRect() const override;
    // Moves and sizes the screen (in its stage, or as a window) and scales its controls at once.
    void setFormGeometry(const QRect& rect) override;
    QWidget* scaledWindow() override { return this; }

    // Background: a vertical gradient, or one colour when both are the same.
    void setBackground(const QColor& from, const QColor& to);

signals:
    // The window system asked to close the window; the slots decide.
    void chiusuraRichiesta();

protected:
    // Creates the controls at their design places; called by load().
    virtual void buildControls() = 0;
    // The screen's own steps after the scaler is attached.
    virtual void Form_Load() {}
    // A click on the screen's background.
    virtual void Form_Click() {}
    // Runs after every rescale: controls the program moved go back to their
    // logical places at the new scale.
    virtual void afterRescale() {}
    virtual void beforeUnload() {}

    // Places a new control at a design rectangle (twips) inside the client
    // area or inside another control.
    template <class Control>
    Control* place(Control* control, const QString& name, const QRect& twips, QWidget* container = nullptr)
    {
        registerControl(control, name, twips, container);
        return control;
    }
    QAction* addMenuItem(const QString& name, const QString& caption);
    // Sets a control's place in twips on the design layout at the current scale.
    void moveToDesign(QWidget* control, double leftTwips, double topTwips);
    // A design place as the scaler maps it now, in twips of the design layout.
    QPointF scaledPixels(double leftTwips, double topTwips) const;

    SpeechControl* Bocca = nullptr;

    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    friend class FormClient;
    void registerControl(QWidget* control, const QString& name, const QRect& twips, QWidget* container);
    void layoutClient();
    void Form_Resize();
    void paintClient(QPainter& painter) const;

    QSize designClient_;
    QWidget* client_ = nullptr;
    QMenuBar* menuBar_ = nullptr;
    QList<QPointer<QWidget>> controls_;
    std::unique_ptr<clsResize> scaler_;
    QColor from_ = QColor(230, 240, 255);
    QColor to_ = QColor(160, 190, 255);
    double menuFontPoints_ = 0;
    bool loaded_ = false;
};
