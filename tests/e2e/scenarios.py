"""Every scenario by name; each takes the paths and the screen font."""
import sc_bad_data
import sc_startup

ALL = {
    "startup": sc_startup.startup,
    "dialog_cancel": sc_startup.dialog_cancel,
    "no_display": sc_startup.no_display,
    "timer_fails": sc_startup.timer_fails,
    "stop_signals": sc_startup.stop_signals,
    "data_missing": sc_bad_data.missing,
    "data_truncated": sc_bad_data.truncated,
    "data_28_objects": sc_bad_data.too_few_objects,
    "data_wrong_bitmap": sc_bad_data.wrong_type(17, "bitmap"),
    "data_wrong_sample": sc_bad_data.wrong_type(4, "sample"),
    "data_wrong_midi": sc_bad_data.wrong_type(19, "MIDI"),
    "data_small_good": sc_bad_data.good_small_file_plays,
}

import sc_phases  # noqa: E402

ALL.update({
    "selection": sc_phases.selection,
    "esc_held": sc_phases.esc_held_through,
})

import sc_battle  # noqa: E402

ALL.update({
    "battle_view": sc_battle.battle_view,
    "fight": sc_battle.fight,
    "triple_shot": sc_battle.triple_shot,
    "powerups": sc_battle.powerups,
    "full_run": sc_battle.full_run,
})

import sc_sound  # noqa: E402

ALL["fight_heard"] = sc_sound.fight_heard
ALL["effects_without_music"] = sc_sound.effects_without_music

import sc_windows  # noqa: E402

ALL.update({
    "wine_prefix": sc_windows.wine_prefix,
    "wine_release_contents": sc_windows.release_contents,
    "wine_played": sc_windows.played,
    "wine_dialog_cancel": sc_windows.dialog_cancel,
})
