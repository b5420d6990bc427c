// How the C library's allocator is set up for tests of many questions.
#pragma once

// A test of 100,000 questions is a million small blocks of memory, and the
// allocator's defaults handle that badly in two ways. Freed small blocks
// wait in "fast bins" and are merged with their neighbours only when a
// large block is next asked for or freed; for a whole test that one merge
// walks a million blocks scattered over memory and takes several times as
// long as merging each as it is freed. And memory freed at the top of the
// heap goes back to the system at once, so the next test read takes it
// back page by page, each page a fault that on some machines costs more
// than reading the file. So blocks are merged as they are freed, and freed
// memory is kept for the next test. Called once, first thing in main().
void TuneAllocatorForLargeTests();
