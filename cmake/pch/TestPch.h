// Precompiled for the portable test sources of the Windows build.
#include "PortablePch.h"
#include <gtest/gtest.h>
