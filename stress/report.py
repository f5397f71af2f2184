"""The summary printed at the end of a stress run."""

import memory

MIB = 1024.0


def _mib(kib):
    return f"{kib / MIB:.1f} MiB"


def _counted(counter):
    return ", ".join(
        f"{name} {count}" for name, count in sorted(counter.items(), key=lambda kv: (-kv[1], kv[0]))
    )


def memory_lines(outcome, leak_mib):
    """The memory lines of the summary, and the growth in KiB (None if not measured)."""
    samples = outcome.samples
    record = (
        f"{len(samples)} samples every {memory_interval(samples)}, peak "
        f"{_mib(max(kib for _, kib in samples))}, last {_mib(samples[-1][1])}"
        if samples
        else "no samples"
    )
    if outcome.mark is None or outcome.end is None:
        return [
            f"RSS                  {record}; growth not measured (it needs a run of 1.5 "
            "minutes or more)"
        ], None
    growth = memory.Growth(outcome.mark, outcome.end)
    verdict = "EXCEEDED" if growth.kib >= leak_mib * MIB else "within"

    def reference(r):
        return (
            f"{_mib(r.median_kib)} (median of {len(r.samples)} samples from "
            f"{r.at:.0f} s, reference state)"
        )

    return [
        f"RSS at 1 min         {reference(growth.mark)}",
        f"RSS at end           {reference(growth.end)}",
        f"RSS growth           {growth.kib / MIB:+.1f} MiB (limit {leak_mib:g} MiB: {verdict})",
        f"RSS record           {record}",
    ], growth.kib


def memory_interval(samples):
    if len(samples) < 2:
        return "-"
    return f"{(samples[-1][0] - samples[0][0]) / (len(samples) - 1):.1f} s"


def summary(config, outcome, log_folder):
    """The summary as lines, and whether the run passed."""
    lines = [
        f"seed                 {config.seed}",
        f"minutes              {config.minutes:g} " f"(actions for {outcome.action_seconds:.0f} s)",
    ]
    total = sum(outcome.counts.values())
    lines.append(f"actions              {total}: {_counted(outcome.counts)}")
    lines.append(f"closed after them    {_counted(outcome.closed) or 'nothing'}")
    lines.append(f"drops                {_counted(outcome.drops) or 'none'}")
    lines.append(
        f"restarts             {outcome.restarts} (the close button is used only at " "the end)"
    )
    memory_text, growth_kib = memory_lines(outcome, config.leak_mib)
    lines.extend(memory_text)
    if outcome.longest is not None:
        longest = outcome.longest
        lines.append(
            f"longest unresponsive {longest.seconds:.2f} s (ping sent at "
            f"{longest.at:.1f} s, during {longest.activity}); "
            f"{outcome.pings_answered} pings answered, {outcome.pings_slow} took 1 s "
            "or more"
        )
    lines.append(
        f"paint probes         {outcome.probes_passed} passed, {outcome.probes_failed} "
        f"failed, slowest {outcome.probe_slowest:.2f} s"
    )
    lines.append(
        f"windows left         {len(outcome.windows_left)}"
        + (f": {', '.join(outcome.windows_left)}" if outcome.windows_left else "")
    )
    status = outcome.exit_status
    lines.append(
        "exit                 "
        + ("not reached" if status is None else f"status {status} after the close button")
    )
    lines.append(
        "settings files       "
        + (
            "; ".join(outcome.settings_problems)
            or ("intact" if status is not None else "not checked")
        )
    )
    lines.append(
        f"input not delivered  {outcome.input_failures} xdotool calls failed or timed "
        "out (each in the action log)"
    )
    failures = list(outcome.failures)
    if growth_kib is not None and growth_kib >= config.leak_mib * MIB:
        failures.append(f"RSS grew by {growth_kib / MIB:.1f} MiB after the first minute")
    passed = not failures
    lines.append("result               " + ("PASS" if passed else "FAIL"))
    lines.extend(f"  failure: {text}" for text in failures)
    lines.append(f"logs                 {log_folder}")
    return lines, passed
