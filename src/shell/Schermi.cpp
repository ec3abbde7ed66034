#include "shell/Schermi.h"

#include "services/DesignForm.h"
#include "services/Stage.h"

Schermi& Schermi::istanza()
{
    static Schermi schermi;
    return schermi;
}

void Schermi::registra(const QString& name, Fabbrica fabbrica)
{
    fabbriche_.insert(name, std::move(fabbrica));
}

bool Schermi::registrato(const QString& name) const
{
    return fabbriche_.contains(name);
}

DesignForm* Schermi::forma(const QString& name) const
{
    const auto it = slot_.constFind(name);
    return it == slot_.cend() ? nullptr : it->get();
}

QList<DesignForm*> Schermi::caricati() const
{
    QList<DesignForm*> loaded;
    for (const auto& form : slot_)
        if (form->isLoaded())
            loaded.append(form.get());
    return loaded;
}

DesignForm* Schermi::mostra(const QString& name)
{
    DesignForm* form = forma(name);
    if (!form) {
        const auto factory = fabbriche_.constFind(name);
        if (factory == fabbriche_.cend())
            return nullptr;
        slot_.insert(name, std::shared_ptr<DesignForm>((*factory)()));
        form = forma(name);
        connect(form, &DesignForm::chiusuraRichiesta, this, [this, form] { finestraChiusa(form); });
        if (!stage_)
            stage_ = new Stage;
        stage_->adopt(form);
    }
    stage_->prepare();
    if (!form->isLoaded())
        form->load();
    // The activation covers the screen before the page is first drawn.
    form->Form_Activate();
    form->raise();
    form->activateWindow();
    return form;
}

DesignForm* Schermi::mostraAlPosto(const QString& name, DesignForm* uscente)
{
    // Shown first, hidden second: the stage is never drawn without a screen.
    DesignForm* form = mostra(name);
    if (form != uscente)
        chiudi(uscente);
    return form;
}

DesignForm* Schermi::mostraSopra(const QString& name, DesignForm* beneath)
{
    DesignForm* dialog = mostra(name);
    if (dialog)
        sotto_.insert(dialog, beneath);
    return dialog;
}

void Schermi::chiudi(DesignForm* form)
{
    if (!form || !form->isLoaded())
        return;
    form->unload();
    const QPointer<DesignForm> beneath = sotto_.take(form);
    if (beneath && beneath->isLoaded()) {
        beneath->raise();
        beneath->activateWindow();
        beneath->Form_Activate();
    }
}

DesignForm* Schermi::sotto(const DesignForm* dialog) const
{
    return sotto_.value(const_cast<DesignForm*>(dialog));
}

void Schermi::finestraChiusa(DesignForm* form)
{
    // Its dialogs go with it: they have nothing left to return to.
    for (DesignForm* dialog : sotto_.keys(form))
        chiudi(dialog);
    chiudi(form);
    if (caricati().isEmpty())
        termina();
}

void Schermi::termina()
{
    emit fine();
}

void Schermi::svuota()
{
    for (const auto& form : slot_)
        form->unload();
    sotto_.clear();
    slot_.clear();
    delete stage_;
}
