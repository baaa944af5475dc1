#include "gsm/GsmLinkWork.h"

namespace kvt {

void GsmLinkWork::start(const PortSettings& settings, const std::function<void()>& opened)
{
    connection_.Connect(settings, opened);
}

void GsmLinkWork::stop(const std::function<void()>& closed)
{
    connection_.Disconnect(closed);
}

} // namespace kvt
