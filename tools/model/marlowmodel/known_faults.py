"""Faults of the product the walk knows of and tolerates until they are
mended. Each has its shrunk script in tools/model/known-faults/NAME.ls, which
`walk.py known-faults` replays: the model must still catch it with tolerance
off. Empty this list (and remove the scripts) once the mends are merged."""

REFUSED_START_DROPS_TAKE = "refused-start-drops-take"
STOP_DURING_METERING = "stop-recording-during-metering"
HALF_FRAME = "half-frame-take"
WRONG_FORMAT = "take-saved-in-current-format"
LONG_PATH_CUT = "long-path-cut"
LOSS_TWICE = "loss-reported-twice"
CLOSE_DROPS_TAKE = "close-drops-take"
CALLBACK_TAKES_STATUS = "callback-takes-status"
FORMAT_REACHES_DIRECTSOUND = "format-reaches-directsound"
TAKE_LOST_WITH_DEVICE = "take-lost-with-device"
RESTART_IN_SET_FORMAT = "restart-in-set-format"
LONG_NAME_CUT = "long-member-name-cut"

TOLERATED = frozenset()
