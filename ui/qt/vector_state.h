#pragma once

// On x86 processors with AVX, code that leaves the upper halves of the wide
// vector registers dirty (a 256- or 512-bit instruction with no vzeroupper
// after it) makes the SSE code that runs next slower: on some processors
// every such instruction pays for merging the upper half. Qt's own painting
// does this: after frames drawn with QPainter::drawEllipse the tick's
// physics on its SSE2 or scalar path ran four times slower in the program
// than alone. The window clears them before each tick, whatever ran before.

namespace vector_state {

// vzeroupper where the processor has AVX; nothing anywhere else.
void clearUpperHalves();

} // namespace vector_state
