// Placeholder until the batch driver lands.
