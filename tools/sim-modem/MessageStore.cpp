#include "MessageStore.h"

namespace kvt::sim {

std::optional<int> MessageStore::add(StoredMessage message)
{
    for (int index = 1; index <= capacity_; ++index) {
        if (!messages_.contains(index)) {
            messages_.emplace(index, std::move(message));
            return index;
        }
    }
    return std::nullopt;
}

StoredMessage* MessageStore::at(int index)
{
    const auto found = messages_.find(index);
    return found == messages_.end() ? nullptr : &found->second;
}

} // namespace kvt::sim
