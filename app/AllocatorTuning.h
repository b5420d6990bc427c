// How the C library's allocator is set up for tests of many questions.
#pragma once

// A test of 100,000 questions is a million small blocks of memory, and the
// allocator's defaults handle that badly in three ways.
// - Freed small blocks wait in "fast bins" and are merged with their
//   neighbours only when a large block is next asked for or freed; for a
//   whole test that one merge walks a million blocks scattered over memory
//   and takes several times as long as merging each as it is freed.
// - Memory freed at the top of the heap goes back to the system at once, so
//   the next test read takes it back page by page.
// - Each 4 KiB page of new memory costs a fault on first use; on some
//   machines the twenty thousand faults of reading a large test cost more
//   than all the rest of reading it.
// So blocks are merged as they are freed, freed memory is kept for the next
// test, and the heap grows in large steps, the first of which (made here)
// the system is asked to back with 2 MiB pages. Called once, first thing in
// main(); where the allocator or the system offers none of this, nothing
// changes.
void TuneAllocatorForLargeTests();
