"""MEL from Python: mel.eval(text)."""

from ._api import mel_eval as eval  # noqa: F401
