#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <unistd.h>

#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/Bitmap.h"
#include "platform/Clipboard.h"
#include "platform/PngWriter.h"

namespace plat {
namespace {

struct Offer {
    std::vector<std::uint8_t> png;
    std::vector<std::uint8_t> bmp;
};

// Owns the CLIPBOARD selection for the pictures handed to it. Only the
// worker thread touches the display connection once it has started.
class SelectionOwner {
public:
    ~SelectionOwner() { Stop(); }

    bool Place(Offer offer)
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!Started())
            return false;
        pending_ = std::make_unique<Offer>(std::move(offer));
        const char wake = 1;
        return write(wakeWrite_, &wake, 1) == 1;
    }

private:
    bool Started()
    {
        if (worker_.joinable())
            return true;
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr)
            return false;
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0) {
            XCloseDisplay(display_);
            display_ = nullptr;
            return false;
        }
        wakeRead_ = pipeEnds[0];
        wakeWrite_ = pipeEnds[1];
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
        clipboard_ = XInternAtom(display_, "CLIPBOARD", False);
        targets_ = XInternAtom(display_, "TARGETS", False);
        png_ = XInternAtom(display_, "image/png", False);
        bmp_ = XInternAtom(display_, "image/bmp", False);
        // Big requests allow a whole picture in one property; the limit is in 4-byte units.
        maxPropertyBytes_ =
            static_cast<std::size_t>(XExtendedMaxRequestSize(display_) != 0 ? XExtendedMaxRequestSize(display_)
                                                                            : XMaxRequestSize(display_)) *
                4 -
            64;
        worker_ = std::thread([this] { Serve(); });
        return true;
    }

    void Stop()
    {
        if (!worker_.joinable())
            return;
        // When the display connection breaks, Xlib ends the process from the worker itself.
        const char stop = 0;
        if (worker_.get_id() != std::this_thread::get_id() && write(wakeWrite_, &stop, 1) == 1) {
            worker_.join();
        } else {
            worker_.detach();
            return;
        }
        close(wakeRead_);
        close(wakeWrite_);
        XDestroyWindow(display_, window_);
        XCloseDisplay(display_);
    }

    void Serve()
    {
        for (;;) {
            pollfd waits[2] = {{ConnectionNumber(display_), POLLIN, 0}, {wakeRead_, POLLIN, 0}};
            if (XPending(display_) == 0 && poll(waits, 2, -1) < 0)
                continue;
            if ((waits[1].revents & POLLIN) != 0) {
                char message = 0;
                if (read(wakeRead_, &message, 1) == 1 && message == 0)
                    return;
                TakeSelection();
            }
            while (XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                if (event.type == SelectionRequest)
                    Answer(event.xselectionrequest);
                else if (event.type == SelectionClear)
                    current_.reset();
            }
        }
    }

    void TakeSelection()
    {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (pending_ != nullptr)
                current_ = std::move(pending_);
        }
        XSetSelectionOwner(display_, clipboard_, window_, CurrentTime);
        if (XGetSelectionOwner(display_, clipboard_) != window_)
            current_.reset();
        XFlush(display_);
    }

    void Answer(const XSelectionRequestEvent& request)
    {
        XSelectionEvent reply{};
        reply.type = SelectionNotify;
        reply.display = request.display;
        reply.requestor = request.requestor;
        reply.selection = request.selection;
        reply.target = request.target;
        reply.time = request.time;
        reply.property = None;
        const Atom property = request.property != None ? request.property : request.target;
        if (current_ != nullptr && request.selection == clipboard_) {
            if (request.target == targets_) {
                const Atom offered[] = {targets_, png_, bmp_};
                XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                                reinterpret_cast<const unsigned char*>(offered), 3);
                reply.property = property;
            } else if (request.target == png_ || request.target == bmp_) {
                const std::vector<std::uint8_t>& bytes = request.target == png_ ? current_->png : current_->bmp;
                if (!bytes.empty() && bytes.size() <= maxPropertyBytes_) {
                    XChangeProperty(display_, request.requestor, property, request.target, 8, PropModeReplace,
                                    bytes.data(), static_cast<int>(bytes.size()));
                    reply.property = property;
                }
            }
        }
        XSendEvent(display_, request.requestor, False, NoEventMask, reinterpret_cast<XEvent*>(&reply));
        XFlush(display_);
    }

    std::mutex mutex_;
    std::unique_ptr<Offer> pending_; // handed over under the mutex
    std::unique_ptr<Offer> current_; // the worker's
    std::thread worker_;
    Display* display_ = nullptr;
    Window window_ = 0;
    Atom clipboard_ = 0, targets_ = 0, png_ = 0, bmp_ = 0;
    std::size_t maxPropertyBytes_ = 0;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
};

SelectionOwner& TheOwner()
{
    static SelectionOwner owner;
    return owner;
}

} // namespace

bool PlaceImageOnClipboard(const std::uint32_t* pixels, std::uint32_t width, std::uint32_t height, std::uint32_t pitch)
{
    if (pixels == nullptr || width == 0 || height == 0 || pitch < width)
        return false;
    Offer offer{EncodePng(pixels, width, height, pitch), EncodeBmpFile(pixels, width, height, pitch)};
    if (offer.png.empty())
        return false;
    return TheOwner().Place(std::move(offer));
}

} // namespace plat
