#pragma once

// Horizontal placement of a text in its cell or block.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
