"""Every scenario by name; each takes the paths and the screen font."""
import sc_startup

ALL = {
    "startup": sc_startup.startup,
    "dialog_cancel": sc_startup.dialog_cancel,
    "no_display": sc_startup.no_display,
}
