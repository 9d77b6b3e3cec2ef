#include "audio/sound_bank.h"
// placeholder until the sound work lands
SoundBank sound_bank;
SoundBank::~SoundBank() {}
void SoundBank::load() {}
void SoundBank::play_sound(int) {}
void SoundBank::play_song(int) {}
void SoundBank::update_music() {}
