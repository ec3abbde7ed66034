#include "services/StorePages.h"

#include <QBackingStore>
#include <QEvent>
#include <QImage>
#include <QWidget>
#include <QWindow>
#include <cstdint>
#include <system_error>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// Only pages wholly inside the picture, so no neighbouring memory is touched.
void faultIn(const uchar* bits, qsizetype bytes)
{
    const auto page = std::uintptr_t(sysconf(_SC_PAGESIZE));
    const auto start = (std::uintptr_t(bits) + page - 1) / page * page;
    const auto end = (std::uintptr_t(bits) + std::uintptr_t(bytes)) / page * page;
    if (end <= start)
        return;
    // All the kernel's page faults in one call, where the kernel has it.
    madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
    // Under a hypervisor the first access to each page is still slow after
    // that, some ten times the cost of painting it: it is made here too.
    for (auto at = start; at < end; at += page)
        static_cast<void>(*reinterpret_cast<const volatile uchar*>(at));
}

}  // namespace

StorePages::StorePages(QWidget* window)
    : QObject(window)
    , window_(window)
{
    window->installEventFilter(this);
}

StorePages::~StorePages()
{
    wait();
}

void StorePages::prepare(QSize size)
{
    wait();
    QBackingStore* store = window_->backingStore();
    if (!store || !window_->windowHandle())
        return;
    window_->windowHandle()->installEventFilter(this);
    store->resize(size);
    const auto* image = dynamic_cast<const QImage*>(store->paintDevice());
    if (!image || image->isNull())
        return;
    try {
        faulting_ = std::async(std::launch::async, faultIn, image->constBits(), image->sizeInBytes());
    } catch (const std::system_error&) {
        // No thread to spare: the first paint faults the pages in itself.
    }
}

void StorePages::wait()
{
    if (faulting_.valid())
        faulting_.get();
}

bool StorePages::eventFilter(QObject*, QEvent* event)
{
    // Widgets are drawn on an update request to the window widget, or on an expose of its native window.
    if (event->type() == QEvent::UpdateRequest || event->type() == QEvent::Expose)
        wait();
    return false;
}
