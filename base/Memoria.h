// The engine's one way to size a block of memory, and its answer to running out.
//
// Collections and texts keep blocks of exactly the size they need and resize
// them through Reasignar. When the system cannot supply memory (a realloc or a
// new that fails), the program cannot go on with a null block: it writes one
// line to standard error naming the request, tells the parent in a message
// box where there is a screen, and exits with a failure code.
#pragma once

#include <cstddef>

// Resizes bloque (null for none) to exactly bytes bytes, keeping the bytes
// below the smaller of the two sizes, and returns the block's new address.
// A size of 0 frees the block and returns null. Never returns null for a
// non-zero size: on failure it reports "contapuntos: out of memory (N bytes)"
// and ends the program.
void* Reasignar(void* bloque, std::size_t bytes);
