#pragma once
// Resource ids of the library's foundation (visual manager,
// global UI data, image strips, registry and workspace, tooltips).
// The library owns ids 16000 to 17200; each id is defined where the
// resource that uses it arrives.
