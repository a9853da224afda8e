#include "ExtensibleEnum.h"

#include <atomic>

namespace Corvid {

CExtensibleEnum::CExtensibleEnum() {
    static std::atomic<std::uint32_t> next{1};
    m_id = next.fetch_add(1, std::memory_order_relaxed);
}

}  // namespace Corvid
