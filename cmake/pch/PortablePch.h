// Precompiled for the portable sources of the Windows build: the standard
// headers most of them include.  Nothing of the platform: a portable file
// must still build natively, where it gets no precompiled header.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>
