#pragma once

// Every preview allocates pictures of several megabytes and frees the previous ones. Keeping freed
// memory in the heap instead of handing it back to the system at each keystroke spares the page
// faults of mapping it in again. Called once at program start.
void PrepareProcessMemory();
