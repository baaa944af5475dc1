#include "gsm/GsmLinkWork.h"

#include "gsm/GsmEngine.h"

namespace kvt {

void GsmLinkWork::start(const PortSettings& settings, const std::function<void()>& opened)
{
    // The operator connects by hand: the device is no longer waited for.
    if (engine_)
        engine_->portWatch().stopWaiting();
    connection_.Connect(settings, opened);
}

void GsmLinkWork::stop(const std::function<void()>& closed)
{
    if (engine_) {
        // A dialogue under way ends at its next wait, finding the port closed.
        engine_->dialogue().requestAbort();
        engine_->portWatch().stopWaiting();
    }
    connection_.Disconnect(closed);
}

} // namespace kvt
