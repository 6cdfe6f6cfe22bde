#pragma once

#include <atomic>
#include <memory>

namespace jw::search {

/// Tells a search under way on another thread to stop. Copies share one
/// flag: the caller keeps one to cancel, the search another to look at.
class CancelToken final {
public:
    CancelToken() : m_flag(std::make_shared<std::atomic_bool>(false)) {}

    void cancel() const { m_flag->store(true, std::memory_order_relaxed); }
    bool cancelled() const { return m_flag->load(std::memory_order_relaxed); }

private:
    std::shared_ptr<std::atomic_bool> m_flag;
};

} // namespace jw::search
