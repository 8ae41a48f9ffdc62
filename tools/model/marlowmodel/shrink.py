"""Delta debugging: the fewest steps of a walk that still disagree with the
model in the same way."""


def signature(walk, disagreement):
    step = walk.steps[disagreement.step - 1] if disagreement.step else None
    where = (step.get("m") or step["op"]) if step else "end"
    return (disagreement.kind(), where)


def shrink(walk, still_fails, log=lambda text: None):
    """ddmin over walk.steps; still_fails(walk) -> bool. Answers the smallest walk found."""
    steps = list(walk.steps)
    parts = 2
    while len(steps) >= 2:
        size = max(1, len(steps) // parts)
        chunks = [steps[i:i + size] for i in range(0, len(steps), size)]
        reduced = False
        for i in range(len(chunks)):
            rest = [s for j, chunk in enumerate(chunks) if j != i for s in chunk]
            if rest and still_fails(walk.with_steps(rest)):
                steps = rest
                parts = max(parts - 1, 2)
                reduced = True
                log("%d steps" % len(steps))
                break
        if not reduced:
            if parts >= len(steps):
                break
            parts = min(len(steps), parts * 2)
    # One by one, to the end: a step whose removal changes nothing goes.
    i = 0
    while i < len(steps) and len(steps) > 1:
        rest = steps[:i] + steps[i + 1:]
        if still_fails(walk.with_steps(rest)):
            steps = rest
            log("%d steps" % len(steps))
        else:
            i += 1
    return walk.with_steps(steps)
