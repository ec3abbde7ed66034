#include "shell/FineAlSegnale.h"

#include "shell/Modulo1.h"
#include "shell/Schermi.h"

#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int pipeEnds[2] = {-1, -1};

// All a signal handler may safely do: wake the event loop.
void onSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(pipeEnds[1], &byte, 1);
}

}  // namespace

void terminaAiSegnali()
{
    if (pipeEnds[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pipeEnds) != 0)
        return;
    auto* notifier = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, &Schermi::istanza());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [notifier] {
        char byte;
        [[maybe_unused]] const auto read = ::read(pipeEnds[0], &byte, 1);
        notifier->setEnabled(false);
        Modulo1::RilasciaCopiaUnica();
        Schermi::istanza().termina();
    });
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}
