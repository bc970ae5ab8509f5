#pragma once
// Start-up is dominated by the first touch of fresh memory: every image is decoded into new
// pages on a worker thread, and the software GL driver then zeroes new pages again for each
// texture on the main thread. With one shared heap that keeps what it frees, a texture's
// storage reuses the pages of images already uploaded and freed, so the main thread mostly
// writes to memory the workers have already paid for.

// Call first in main, before any thread starts: the arena limit applies only to threads made
// after it. Does nothing where the C library offers no such settings.
void TuneHeapForStartup();
