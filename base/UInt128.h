#pragma once

// An unsigned integer of 128 bits: counts of steps pass 2^64 on nets of a few hundred
// events. (A compiler extension, named once here.)
__extension__ typedef unsigned __int128 UInt128;
