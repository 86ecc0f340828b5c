// Compiled into every GUI test so their source lists stay alike; shared code that needs the
// whole program lives in program_driver.cpp instead.
