#pragma once

// The memory of this process and of the machine, as the system reports them; 0 where
// it does not.
long long ResidentBytes();
long long PhysicalMemoryBytes();
