"""Every scenario by name; each takes the paths and the screen font."""
import sc_bad_data
import sc_battle
import sc_phases
import sc_sound
import sc_startup
import sc_windows

ALL = {
    "startup": sc_startup.startup,
    "dialog_cancel": sc_startup.dialog_cancel,
    "no_display": sc_startup.no_display,
    "timer_fails": sc_startup.timer_fails,
    "stop_signals": sc_startup.stop_signals,
    "data_missing": sc_bad_data.missing,
    "data_truncated": sc_bad_data.truncated,
    "data_28_objects": sc_bad_data.too_few_objects,
    "data_wrong_type": sc_bad_data.wrong_type,
    "selection": sc_phases.selection,
    "battle_view": sc_battle.battle_view,
    "fight": sc_battle.fight,
    "fight_heard": sc_sound.fight_heard,
    "effects_without_music": sc_sound.effects_without_music,
    "memcheck_battle": sc_battle.memcheck_battle,
    "installed": sc_sound.installed,
    "wine_prefix": sc_windows.wine_prefix,
    "wine_release_contents": sc_windows.release_contents,
    "wine_played": sc_windows.played,
    "wine_dialog_cancel": sc_windows.dialog_cancel,
}
