"""What a stress run is asked to do."""

from dataclasses import dataclass


@dataclass
class Config:
    minutes: float
    seed: int
    player: str
    drag_source: str
    files: dict
    first_clip: str
    reference_clip: str
    work: str
    hang_seconds: float = 20.0
    leak_mib: float = 10.0
