"""A model of the Marlowtide Xtra, written from docs/lingo.md, and the random
walk that checks the real Xtra against it through marlowhost."""
