"""The tally of a Python driver's checks: each failure and skip printed as it
is met, and the closing line that counts them."""


class Checks:
    def __init__(self, passes_too=False):
        self.passed = self.failed = self.skipped = 0
        self.passes_too = passes_too  # a PASS line for each check that passes

    def that(self, condition, what, detail=""):
        if condition:
            self.passed += 1
            if self.passes_too:
                print(f"PASS: {what}", flush=True)
        else:
            self.failed += 1
            print(f"FAIL: {what}" + (f": {detail}" if detail else ""), flush=True)
        return bool(condition)

    def equal(self, actual, expected, what):
        return self.that(actual == expected, what, f"got {actual!r}, expected {expected!r}")

    def skip(self, what, why):
        self.skipped += 1
        print(f"SKIP: {what}: {why}", flush=True)

    def closing(self):
        return f"{self.passed} passed, {self.failed} failed, {self.skipped} skipped"
