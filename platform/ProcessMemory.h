#pragma once

// The memory of this process and of the machine, as the system reports them; 0 where
// it does not.
long long ResidentBytes();
long long PhysicalMemoryBytes();
// What the process may still take before a computation of the given limit stops (0:
// four fifths of the machine's memory): the limit less what the process holds, and no
// more than its address-space limit (ulimit -v) leaves. At least 1.
long long MemoryHeadroomBytes(long long limit);
