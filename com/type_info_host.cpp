// Written by the type description work.
