#pragma once

// The event loop's exit code that asks for a restart.
constexpr int RestartExitCode = -10086;
