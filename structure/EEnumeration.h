#pragma once

// How a listing of the net's structure (its invariants, its siphons) ended.
// Complete: every one is listed. Limited: the first ones up to the limit are listed and
// there are more. Cancelled: the user stopped it; nothing is listed. Overflow: a weight
// outgrew 64 bits; nothing is listed rather than a wrong number.
enum class EEnumeration { Complete, Limited, Cancelled, Overflow };
