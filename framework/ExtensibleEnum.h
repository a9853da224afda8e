#pragma once
// A key type whose default constructor hands out a new unique identifier.
#include <cstdint>

namespace Corvid {

class CExtensibleEnum {
public:
    CExtensibleEnum();  // thread-safe
    std::uint32_t Id() const { return m_id; }
    operator std::uint32_t() const { return m_id; }

private:
    std::uint32_t m_id;
};

}  // namespace Corvid
