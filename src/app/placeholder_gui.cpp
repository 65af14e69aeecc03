// The GUI library gains its windows from the app, paint, effects, options and about folders.
