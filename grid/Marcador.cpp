// Placeholder until the grid reader lands.
