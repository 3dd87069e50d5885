// The geometry stage: matrices, lighting, culling and projection.
#pragma once

void BuildLightClampTable();
void BuildSqrtTable();
void SetupLightDirection();
float FastSqrt(float value);
