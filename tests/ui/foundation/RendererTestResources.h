#pragma once
// Ids of the renderer tests' resources.
#define IDB_TEST_RENDERER_SKIN 30100
