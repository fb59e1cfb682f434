#pragma once

// Playing the wave sounds embedded in the executable.

#include <string>

// Plays the "wav" resource of this name (letter case ignored) asynchronously through
// the platform's audio, cutting off whatever is playing. A missing name plays nothing,
// and a sound that cannot be decoded or played fails silently: sounds never stop the
// program. Decoded sounds are kept for the next time.
void PlaySoundResource(const std::string& name);

// Forgets the decoded sounds (tests).
void ClearSoundCache();
