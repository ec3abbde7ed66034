#pragma once
// One slot per screen: a screen is created on first use and kept in its slot
// for the whole run; showing loads it again after it was unloaded. Every
// screen is shown as a page of the one stage.

#include <QHash>
#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>

class DesignForm;
class Stage;

class Schermi : public QObject {
    Q_OBJECT
public:
    static Schermi& istanza();

    using Fabbrica = std::function<std::unique_ptr<DesignForm>()>;
    void registra(const QString& name, Fabbrica fabbrica);
    bool registrato(const QString& name) const;

    // The screen in its slot, loaded or not; null when never created.
    DesignForm* forma(const QString& name) const;
    // The loaded screens, dialogs included.
    QList<DesignForm*> caricati() const;

    // Creates, loads, shows and activates a screen; null when it does not exist.
    DesignForm* mostra(const QString& name);
    // Shows a screen in place of another, which is closed.
    DesignForm* mostraAlPosto(const QString& name, DesignForm* uscente);
    // Shows a dialog over a screen that stays loaded; closing the dialog
    // activates that screen again.
    DesignForm* mostraSopra(const QString& name, DesignForm* beneath);
    void chiudi(DesignForm* form);
    // The screen a dialog lies over; null for a screen of its own.
    DesignForm* sotto(const DesignForm* dialog) const;

    // Ends the program.
    void termina();
    // Unloads and forgets every screen, and the stage with them.
    void svuota();

signals:
    void fine();

private:
    void finestraChiusa(DesignForm* form);

    QHash<QString, Fabbrica> fabbriche_;
    QHash<QString, std::shared_ptr<DesignForm>> slot_;
    QHash<DesignForm*, QPointer<DesignForm>> sotto_;
    QPointer<Stage> stage_;
};
