// Precompiled for the Windows-only test sources.
#include "WindowsPch.h"
#include <gtest/gtest.h>
