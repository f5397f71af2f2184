#pragma once

// What the engine is doing, as EngineInstance::GetPlayState reads it.
enum class PlayState { Idle = 0, Playing = 1, Paused = 2, Ended = 3 };
