#include "settings/Settings.h"

namespace kvt {

LinkSettings& SettingsData::link(Link which)
{
    switch (which) {
    case Link::Gsm:
        return gsm;
    case Link::Radio:
        return radio;
    case Link::Rs485:
        break;
    }
    return rs485;
}

const LinkSettings& SettingsData::link(Link which) const
{
    return const_cast<SettingsData*>(this)->link(which);
}

Settings::Settings(QObject* parent) : QObject(parent) {}

Settings::Settings(SettingsData data, QObject* parent) : QObject(parent), data_(std::move(data)) {}

void Settings::update(const std::function<void(SettingsData&)>& change)
{
    SettingsData next = data_;
    change(next);
    replace(next);
}

void Settings::replace(const SettingsData& data)
{
    if (data == data_)
        return;
    data_ = data;
    emit changed();
}

} // namespace kvt
