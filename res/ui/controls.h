#pragma once
// Resource ids of the library's dialogs and controls.
// The library owns ids 16000 to 17200; each id is defined where the
// resource that uses it arrives.
