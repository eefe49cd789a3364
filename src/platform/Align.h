#pragma once

// Where a control sits in its parent: alNone keeps its own bounds, the others let the parent
// size it along that edge (alClient fills the rest).
enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
