"""What a stress run found, for the summary."""

import collections
from dataclasses import dataclass, field


@dataclass
class Outcome:
    failures: list = field(default_factory=list)
    counts: collections.Counter = field(default_factory=collections.Counter)
    closed: collections.Counter = field(default_factory=collections.Counter)
    drops: dict = field(default_factory=dict)
    action_seconds: float = 0.0
    restarts: int = 0
    samples: list = field(default_factory=list)
    mark: object = None  # memory.Reference at the one-minute mark
    end: object = None  # and at the end
    longest: object = None
    pings_answered: int = 0
    pings_slow: int = 0
    probes_passed: int = 0
    probes_failed: int = 0
    probe_slowest: float = 0.0
    windows_left: list = field(default_factory=list)
    exit_status: object = None
    settings_problems: list = field(default_factory=list)
    input_failures: int = 0
