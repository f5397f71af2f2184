#pragma once

namespace platform {

// Has the C library's allocator hand blocks of 128 KiB and more (video frames, demuxed
// packets, images) straight back to the system when they are freed. Call first in main().
void KeepLargeBlocksReturnable();

// Gives memory freed since (the engine's buffers for the file before, say) back to the
// system, where the allocator would keep it for later use.
void ReturnFreedMemory();

}  // namespace platform
