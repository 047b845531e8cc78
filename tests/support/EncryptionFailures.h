#pragma once
// Makes encryption fail for a scope the ways the system cannot be made to:
// key setup refused, or the random source answering an error.
#include <cstddef>
#include <optional>

#include "support/AesCfb.h"
#include "support/SupportSeams.h"

namespace trovtest {

struct EncryptionFailure {
    bool failKeySetup = false;
    int randomAnswer = 0;   // 1001 (no context) or 1002 (no random bytes); 0: real bytes
};

class EncryptionFailureScope {
public:
    explicit EncryptionFailureScope(const EncryptionFailure& failure)
    {
        if (failure.failKeySetup)
            m_key.emplace(g_supportSeams.setCipherKey, [](CAesCfb&, const char*) { return false; });
        if (failure.randomAnswer != 0) {
            int answer = failure.randomAnswer;
            m_random.emplace(g_supportSeams.randomBytes, [answer](unsigned char*, size_t) { return answer; });
        }
    }

private:
    std::optional<ScopedSeam<bool(CAesCfb&, const char*)>> m_key;
    std::optional<ScopedSeam<int(unsigned char*, size_t)>> m_random;
};

} // namespace trovtest
