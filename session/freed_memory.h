// Memory the heap holds freed, handed back to the system. A step through a
// folder frees and allocates screen images of several sizes, and the C
// library keeps what they leave between them; the browser gives it back once
// it rests, so that its resident size does not stay at the walk's high mark.
#pragma once

namespace orbalux {

// Cheap when little is free; the next large allocation takes fresh pages.
void ReturnFreedMemory();

}  // namespace orbalux
